#!/usr/bin/env python3
"""Writes samples/sample/Sample.json, the sample project in the `cvntool dump` schema, from the
documents under samples/sample/doc and the markers, subjects, links and layout listed below.

Marker positions are byte offsets into the Shift-JIS (CP932) text of each document, so they are
computed here from the documents themselves rather than typed in by hand. Run it again after
editing a document or the lists below; `cvntool check` on the built project verifies the result.
"""
import json
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
SAMPLE = os.path.join(HERE, 'sample')
DOC = os.path.join(SAMPLE, 'doc')

PALETTE = [0xC9AEFF, 0x0EAEFF, 0xB0E4EF, 0x1DE6B5, 0xEAD999, 0xBE9270, 0xE7BFC8]
PINK, ORANGE, YELLOW, GREEN, CYAN, NAVY, VIOLET = range(7)

APPLICATION = '本願\\特願2024-031857'
PRIOR_1 = '先行技術\\特開2018-104422'
PRIOR_2 = '先行技術\\特開2021-077310'
PRIOR_3 = '先行技術\\実登3201958'
MEMO = '調査\\検索式メモ'

# (id, document, marked passage, palette colour, comment, node rectangle)
MARKERS = [
    (1, APPLICATION, 'ロックレバーは、ばね部材によって外管の内周面に向けて付勢され', PINK,
     '本願の要部', (60, 80, 300, 170)),
    (2, APPLICATION, '外管の係止溝に入り込む', PINK, '', (60, 260, 300, 330)),
    (3, APPLICATION, 'ハンドルに設けた押しボタンからワイヤを介して行う', YELLOW, '請求項２の根拠',
     (60, 440, 300, 520)),
    (4, PRIOR_1, '揺動片４はコイルばね６によって外筒２の内壁へ押し付けられ', GREEN,
     '本願のロックレバーに相当', (820, 60, 1080, 150)),
    (5, PRIOR_1, '複数の凹部７のいずれかに嵌まり込む', GREEN, '係止溝に相当',
     (820, 250, 1080, 330)),
    (6, PRIOR_1, '引き紐８を引くと揺動片４が凹部７から外れる', CYAN, '解除手段は紐',
     (820, 410, 1080, 490)),
    (7, PRIOR_2, 'ハンドル１０に開ボタン１１と閉ボタン１２を設け', CYAN, 'ボタンによる解除',
     (820, 540, 1080, 620)),
    (8, PRIOR_2, '板ばね２２の突起は外管の孔に係合し', ORANGE, '従来型の固定',
     (820, 700, 1080, 780)),
    (9, PRIOR_3, 'スリーブ３３は、上管３１を伸ばした状態で下管３２の上端に当たり', VIOLET,
     '参考程度', (820, 860, 1080, 950)),
]

# (id, main subject, sub-subject title, node rectangle)
SUB_SUBJECTS = [
    (10, '請求項１　ロック機構', 'ばねで付勢されたレバー', (440, 100, 660, 160)),
    (11, '請求項１　ロック機構', '係止溝への係合', (440, 270, 660, 330)),
    (12, '請求項２　解除操作', '手元からの解除', (440, 460, 660, 520)),
    (13, '従来技術', '板ばねの突起による固定', (440, 710, 660, 770)),
]

# (from id, to id): marker to sub-subject, sub-subject to marker and marker to marker.
LINKS = [
    (1, 10), (4, 10), (2, 11), (5, 11), (3, 12), (6, 12), (7, 12), (8, 13), (4, 1), (5, 2),
    (13, 8),
]

# Bookmark 1 at the claims of the application.
BOOKMARKS = [(APPLICATION, '【特許請求の範囲】')]

SUBJECT_BACKGROUND, SUBJECT_LINE = 0xE3CFC1, 0x694730
MARKER_LINE = 0x063177


def disk_path(relative):
    return os.path.join(DOC, *relative.split('\\'))


def document_bytes(relative):
    with open(disk_path(relative), 'rb') as f:
        return f.read()


def char_starts(data):
    """Byte offsets where a character starts, by the Shift-JIS lead byte rule."""
    starts = set()
    i = 0
    while i < len(data):
        starts.add(i)
        lead = data[i]
        i += 2 if (0x81 <= lead <= 0x9F or 0xE0 <= lead <= 0xFE) and i + 1 < len(data) else 1
    starts.add(len(data))
    return starts


def find_once(relative, passage):
    data = document_bytes(relative)
    needle = passage.encode('cp932')
    starts = char_starts(data)
    hits = []
    at = data.find(needle)
    while at != -1:
        if at in starts and at + len(needle) in starts:
            hits.append(at)
        at = data.find(needle, at + 1)
    if len(hits) != 1:
        sys.exit(f'{relative}: "{passage}" found {len(hits)} times, expected once')
    return hits[0], len(needle)


def cut(data, limit):
    """data cut to at most limit bytes without splitting a two-byte character; a lead byte whose
    trail byte is missing is dropped too."""
    limit = min(limit, len(data))
    i = 0
    while i < limit:
        lead = data[i]
        step = 2 if 0x81 <= lead <= 0x9F or 0xE0 <= lead <= 0xFE else 1
        if i + step > limit:
            break
        i += step
    return data[:i]


def node_style(background, line_colour):
    return {
        'fontName': 'Meiryo UI', 'fontSize': 10, 'bold': 0, 'italic': 0, 'textColour': 0,
        'alignV': 1, 'alignH': 1, 'wordWrap': 1, 'margins': [5, 5, 5, 5],
        'background': background, 'lineColour': line_colour, 'lineThickness': 1,
        'lineStyle': 0,
    }


def main():
    objects = []
    for oid, doc, passage, colour, comment, rect in MARKERS:
        position, length = find_once(doc, passage)
        marked = document_bytes(doc)[position:position + length]
        obj = {
            'id': oid, 'type': 2, 'document': doc, 'position': position, 'length': length,
            'markerColour': PALETTE[colour], 'firstText': comment,
            'secondText': cut(marked, 100).decode('cp932'), 'rect': list(rect), 'selected': 0,
        }
        # Marker nodes take their marker colour as background (the default synchronisation).
        obj.update(node_style(PALETTE[colour], MARKER_LINE))
        objects.append(obj)
    for oid, main_subject, title, rect in SUB_SUBJECTS:
        obj = {
            'id': oid, 'type': 1, 'document': '', 'position': 0, 'length': 0, 'markerColour': 0,
            'firstText': main_subject, 'secondText': title, 'rect': list(rect), 'selected': 0,
        }
        obj.update(node_style(SUBJECT_BACKGROUND, SUBJECT_LINE))
        objects.append(obj)

    bookmarks = []
    for doc, passage in BOOKMARKS:
        position, _ = find_once(doc, passage)
        tail = document_bytes(doc)[position:position + 203].replace(b'\r', b'').replace(b'\n', b'')
        bookmarks.append({'path': doc, 'position': position,
                          'sample': cut(tail, 200).decode('cp932')})
    while len(bookmarks) < 4:
        bookmarks.append({'path': '', 'position': -1, 'sample': ''})

    project = {
        'format': 'CVN001',
        'textView': {'bookmarks': bookmarks},
        'chartView': {'width': 1500, 'height': 1200},
        'objects': objects,
        'links': [{'from': a, 'to': b} for a, b in LINKS],
    }
    with open(os.path.join(SAMPLE, 'Sample.json'), 'w', encoding='utf-8') as f:
        json.dump(project, f, ensure_ascii=False, indent=2)
        f.write('\n')


if __name__ == '__main__':
    main()

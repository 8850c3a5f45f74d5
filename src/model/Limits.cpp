#include "model/Limits.h"

#include "model/Records.h"
#include "res/MessageCatalogue.h"
#include "res/MessageNumbers.h"

#include <string>

namespace corvane {

namespace {

// "オブジェクト数が制限(" ... ")を超えました"
constexpr SjisView kObjectLimitHead = "\x83\x49\x83\x75\x83\x57\x83\x46\x83\x4e\x83\x67\x90\x94"
                                      "\x82\xaa\x90\xa7\x8c\xc0(";
// "リンクの数が制限(" ... ")を超えました"
constexpr SjisView kLinkLimitHead =
    "\x83\x8a\x83\x93\x83\x4e\x82\xcc\x90\x94\x82\xaa\x90\xa7\x8c\xc0(";
constexpr SjisView kLimitTail = ")\x82\xf0\x92\xb4\x82\xa6\x82\xdc\x82\xb5\x82\xbd\n";

bool check(MessageSink& messages, bool show, int count, int limit, SjisView head)
{
    if (count < limit)
        return true;
    if (show) {
        SjisString leading(head);
        leading += std::to_string(limit);
        leading += kLimitTail;
        showMessage(messages, msg::kNoMoreCanBeSet, leading, style::error);
    }
    return false;
}

} // namespace

bool objectLimitCheck(MessageSink& messages, bool showMessage, int count)
{
    return check(messages, showMessage, count, kMaxObjects, kObjectLimitHead);
}

bool linkLimitCheck(MessageSink& messages, bool showMessage, int count)
{
    return check(messages, showMessage, count, kMaxLinks, kLinkLimitHead);
}

} // namespace corvane

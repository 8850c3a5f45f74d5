#include "res/ui/QtMessageSink.h"
#include "res/MessageCatalogue.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

#include <memory>

using namespace corvane;

class QtMessageSinkTest : public QObject
{
    Q_OBJECT

private slots:
    void boxHasCaptionIconButtonsAndPlainText_data();
    void boxHasCaptionIconButtonsAndPlainText();
    void returnsTheButtonPressed_data();
    void returnsTheButtonPressed();
    void closingWithoutAButtonIsTheSafeAnswer();
    void enterOnAQuestionThatLosesWorkAnswersNo();
};

void QtMessageSinkTest::boxHasCaptionIconButtonsAndPlainText_data()
{
    QTest::addColumn<int>("icon");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("expectedIcon");
    QTest::addColumn<int>("expectedButtons");
    QTest::newRow("warning ok") << int(MessageIcon::Warning) << int(MessageButtons::Ok)
                                << int(QMessageBox::Warning) << int(QMessageBox::Ok);
    QTest::newRow("error ok") << int(MessageIcon::Error) << int(MessageButtons::Ok)
                              << int(QMessageBox::Critical) << int(QMessageBox::Ok);
    QTest::newRow("information ok-cancel")
        << int(MessageIcon::Information) << int(MessageButtons::OkCancel)
        << int(QMessageBox::Information) << int(QMessageBox::Ok | QMessageBox::Cancel);
    QTest::newRow("question yes-no")
        << int(MessageIcon::Question) << int(MessageButtons::YesNo) << int(QMessageBox::Question)
        << int(QMessageBox::Yes | QMessageBox::No);
    QTest::newRow("question yes-no-cancel")
        << int(MessageIcon::Question) << int(MessageButtons::YesNoCancel)
        << int(QMessageBox::Question)
        << int(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
}

void QtMessageSinkTest::boxHasCaptionIconButtonsAndPlainText()
{
    QFETCH(int, icon);
    QFETCH(int, buttons);
    QFETCH(int, expectedIcon);
    QFETCH(int, expectedButtons);
    const MessageStyle style{MessageIcon(icon), MessageButtons(buttons)};
    std::unique_ptr<QMessageBox> box(QtMessageSink::createBox(
        nullptr, "<b>名前</b>\n" + std::string(catalogueText(30010)), style));
    QCOMPARE(box->windowTitle(), QStringLiteral("Corvane"));
    QCOMPARE(int(box->icon()), expectedIcon);
    QCOMPARE(int(box->standardButtons()), expectedButtons);
    QCOMPARE(box->textFormat(), Qt::PlainText);
    QCOMPARE(box->text(),
             QStringLiteral(
                 "<b>名前</b>\n削除してもよろしいですか\n※ 元に戻せませんのでご注意ください"));
}

void QtMessageSinkTest::returnsTheButtonPressed_data()
{
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("press");
    QTest::addColumn<int>("answer");
    QTest::newRow("ok") << int(MessageButtons::Ok) << int(QMessageBox::Ok) << int(Answer::Ok);
    QTest::newRow("cancel") << int(MessageButtons::OkCancel) << int(QMessageBox::Cancel)
                            << int(Answer::Cancel);
    QTest::newRow("yes") << int(MessageButtons::YesNo) << int(QMessageBox::Yes) << int(Answer::Yes);
    QTest::newRow("no") << int(MessageButtons::YesNoCancel) << int(QMessageBox::No)
                        << int(Answer::No);
}

void QtMessageSinkTest::returnsTheButtonPressed()
{
    QFETCH(int, buttons);
    QFETCH(int, press);
    QFETCH(int, answer);
    QtMessageSink sink;
    QTimer::singleShot(0, [press] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        box->button(QMessageBox::StandardButton(press))->click();
    });
    const Answer a = sink.present(30069, "text", {MessageIcon::Question, MessageButtons(buttons)});
    QCOMPARE(int(a), answer);
}

void QtMessageSinkTest::closingWithoutAButtonIsTheSafeAnswer()
{
    QCOMPARE(QtMessageSink::answerOf(-1, MessageButtons::YesNoCancel), Answer::Cancel);
    QCOMPARE(QtMessageSink::answerOf(-1, MessageButtons::OkCancel), Answer::Cancel);
    QCOMPARE(QtMessageSink::answerOf(-1, MessageButtons::YesNo), Answer::No);
    QCOMPARE(QtMessageSink::answerOf(-1, MessageButtons::Ok), Answer::Ok);
}

void QtMessageSinkTest::enterOnAQuestionThatLosesWorkAnswersNo()
{
    QtMessageSink sink;
    const auto pressEnter = [] {
        QTimer::singleShot(0, [] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            QTest::keyClick(box, Qt::Key_Return);
        });
    };
    pressEnter();
    QCOMPARE(sink.present(30069, "text", style::yesNoDefaultNo), Answer::No);
    pressEnter();
    QCOMPARE(sink.present(30069, "text", style::yesNo), Answer::Yes);
}

QTEST_MAIN(QtMessageSinkTest)
#include "QtMessageSinkTest.moc"

#include "ShellTestSupport.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTimer>

namespace corvane::test {

PrivateHome::PrivateHome()
{
    const QByteArray p = dir_.path().toUtf8();
    qputenv("HOME", p);
    qputenv("TMPDIR", p);
    qputenv("XDG_CONFIG_HOME", p + "/.config");
    qputenv("XDG_RUNTIME_DIR", p + "/run");
    QDir(dir_.path()).mkpath(QStringLiteral("run"));
    QStandardPaths::setTestModeEnabled(true);
}

TestApp::TestApp()
{
    auto s = std::make_unique<MemorySettings>();
    auto m = std::make_unique<ScriptedMessages>();
    settings = s.get();
    messages = m.get();
    app = std::make_unique<CVantorApp>(std::move(s), std::move(m));
}

TestApp::~TestApp()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

FakeTextWindow::FakeTextWindow(std::string path, bool isModified)
    : modified(isModified), path_(std::move(path))
{
}

QString FakeTextWindow::title() const
{
    return QString::fromStdString(path_.substr(path_.find_last_of('/') + 1));
}

bool FakeTextWindow::handleCommand(int id)
{
    commands.push_back(id);
    return true;
}

bool FakeTextWindow::saveDocument()
{
    ++saves;
    modified = false;
    emit stateChanged();
    return true;
}

void whenModal(std::function<void(QWidget*)> answer)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, answer] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            answer(modal);
        }
    });
    timer->start();
}

std::string writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path.toStdString();
}

} // namespace corvane::test

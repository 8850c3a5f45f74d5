// Start-up: one copy per user, fonts, preferences, the application object and the main frame,
// then the project of the command line or of the recent list.
#include "app/CMainFrame.h"
#include "app/CVantorApp.h"
#include "app/DocumentWiring.h"
#include "app/PaneWiring.h"
#include "app/SearchWiring.h"
#include "app/ShellLanguage.h"
#include "app/SingleInstance.h"
#include "base/qt/QtSettingsStore.h"
#include "base/qt/ShellFonts.h"
#include "res/MessageCatalogue.h"
#include "res/MessageNumbers.h"
#include "res/ui/QtMessageSink.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>
#include <memory>

using namespace corvane;

int main(int argc, char** argv)
{
    QElapsedTimer clock;
    clock.start();
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvane"));
    QApplication::setOrganizationName(QStringLiteral("Dunmere"));
    QApplication::setDesktopFileName(QStringLiteral("corvane"));

    std::vector<std::string> arguments;
    bool startupBenchmark = false;
    for (const QString& a : QApplication::arguments().mid(1)) {
        if (a == QLatin1String("--startup-benchmark"))
            startupBenchmark = true;
        else
            arguments.push_back(a.toStdString());
    }

    registerFontSubstitutions();
    installQtTranslations(qapp);

    auto sinkOwner = std::make_unique<QtMessageSink>();
    QtMessageSink* sink = sinkOwner.get();

    // One copy at a time: a second start says so and leaves the first untouched.
    SingleInstance instance;
    if (!instance.acquire()) {
        showMessage(*sink, msg::kAlreadyRunning, {}, style::error);
        return 1;
    }

    CVantorApp app(std::make_unique<QtSettingsStore>(), std::move(sinkOwner));
    CMainFrame frame(app);
    sink->setOwner(&frame);
    CSubjectWnd* subjects = installSubjectPane(frame, app);
    // The document list pane and the text views in the tab area.
    DocumentWiring* documents = DocumentWiring::install(frame, app);
    installMarkerPane(frame, app, *documents);
    installPropertiesPane(frame, app, subjects);
    installSearchPane(frame, app, *documents);
    frame.placeOnScreen();
    frame.show();

    const std::string path = app.projectToOpenAtStart(arguments);
    if (startupBenchmark) {
        // Shown main window with the project open: report and leave without any dialog.
        frame.openAtStart(path);
        QTimer::singleShot(0, &frame, [&] {
            std::printf("startup_ms %lld\n", static_cast<long long>(clock.elapsed()));
            std::fflush(stdout);
            QApplication::quit();
        });
        return QApplication::exec();
    }
    QTimer::singleShot(0, &frame, [&frame, path] {
        frame.openAtStart(path);
        frame.showFirstDialogIfAsked();
    });
    return QApplication::exec();
}

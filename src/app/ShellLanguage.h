// Qt's own texts (standard buttons, file and colour dialogs, context menus of edit fields) in
// Japanese, to match the rest of the user interface whatever the system's locale is.
#pragma once

class QCoreApplication;

namespace corvane {

/// Loads Qt's Japanese translations into app; false when they are not installed (Qt's English
/// texts stay, which is no reason to stop).
bool installQtTranslations(QCoreApplication& app);

} // namespace corvane

// The ribbon: the application button "ファイル" with its menu, one category with five panels of
// command buttons, the quick-access buttons, and the minimise and help buttons at the right. Every
// button shows a QAction of the frame, so enable and check states follow the actions.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <vector>

class QAction;
class QComboBox;
class QHBoxLayout;
class QMenu;
class QTabBar;
class QToolButton;

namespace corvane {

class CRibbonBar : public QWidget
{
    Q_OBJECT
public:
    using ActionLookup = std::function<QAction*(int id)>;

    CRibbonBar(ActionLookup actions, QWidget* parent = nullptr);

    /// Panel captions in their order, for checks and tests.
    QStringList panelTitles() const;
    QString categoryTitle() const;
    QMenu* applicationMenu() const { return appMenu_; }
    QComboBox* searchBox() const { return searchBox_; }

    /// Recent project entries of the application menu (full paths as the user sees them).
    void setRecentEntries(const QList<QAction*>& entries);

    bool isMinimised() const { return minimised_; }
    void setMinimised(bool minimised);

    /// Commands shown in the quick-access area, in order.
    void setQuickAccess(const std::vector<int>& ids);
    std::vector<int> quickAccess() const { return quickIds_; }

signals:
    /// Double-click on the category tab.
    void minimiseToggleRequested();

private:
    QWidget* makePanel(const QString& title, QWidget* content);
    QWidget* textViewPanel();
    QWidget* bookmarkPanel();
    QWidget* markerPanel();
    QWidget* viewPanel();
    QWidget* chartPanel();
    /// split: the picture runs the command and the label opens the menu.
    QToolButton* largeButton(int id, QMenu* menu = nullptr, bool split = false);
    QToolButton* smallButton(int id, bool withText = true);
    QMenu* commandMenu(std::initializer_list<int> ids);
    void buildApplicationMenu();

    ActionLookup actions_;
    QMenu* appMenu_ = nullptr;
    QAction* recentSeparator_ = nullptr;
    QList<QAction*> recentActions_;
    QTabBar* category_ = nullptr;
    QWidget* panelRow_ = nullptr;
    QHBoxLayout* quickLayout_ = nullptr;
    QComboBox* searchBox_ = nullptr;
    QStringList panelTitles_;
    std::vector<int> quickIds_;
    bool minimised_ = false;
};

} // namespace corvane

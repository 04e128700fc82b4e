#pragma once
// The main window's commands. Every command is a QAction with an Execute handler and, where its
// enabled state depends on the document, an Update handler. Update handlers run when the
// application goes idle, before a menu opens and before a key press is matched against shortcuts,
// and once more right before the command runs: a command that is disabled then does nothing.
// An error that escapes an Execute handler goes to the error handler and ends only that command.

#include <QAction>
#include <QHash>
#include <QObject>
#include <exception>
#include <functional>
#include <vector>

class QMenu;

class ActionList : public QObject
{
    Q_OBJECT
public:
    using Handler = std::function<void()>;
    using ErrorHandler = std::function<void(std::exception_ptr)>;

    explicit ActionList(QWidget *owner, ErrorHandler onError);
    ~ActionList() override;

    // Creates the action `name` (its objectName) with a caption and an optional shortcut.
    QAction *add(const QString &name, const QString &caption, const QKeySequence &shortcut, Handler execute,
                 Handler update = {});
    // Gives a command its Update handler after it was created (handlers that need the QAction).
    void setUpdate(QAction *action, Handler update);
    QAction *action(const QString &name) const;
    const std::vector<QAction *> &actions() const { return actions_; }

    // Runs the command the way a menu click does: update first, then execute when enabled.
    void run(QAction *action);
    void updateAll();
    // Runs the Update handlers at the next idle moment (several requests make one run).
    void scheduleUpdate();
    // A menu entry with a caption of its own that runs `command`, shows its shortcut and follows its
    // enabled state.
    QAction *addMenuItem(QMenu *menu, QAction *command, const QString &caption);
    // Keeps a menu's commands current when it opens.
    void watchMenu(QMenu *menu);

    // Hands an error to the error handler, as if it had escaped a command.
    void reportError(std::exception_ptr error) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Command {
        Handler execute;
        Handler update;
    };
    void runUpdate(QAction *action);

    QWidget *owner_;
    ErrorHandler onError_;
    std::vector<QAction *> actions_;
    QHash<QAction *, Command> commands_;
    bool updateScheduled_ = false;
};

#include "ActionList.h"

#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QTimer>
#include <QWidget>

ActionList::ActionList(QWidget *owner, ErrorHandler onError)
    : QObject(owner)
    , owner_(owner)
    , onError_(std::move(onError))
{
    qApp->installEventFilter(this);
}

ActionList::~ActionList()
{
    qApp->removeEventFilter(this);
}

QAction *ActionList::add(const QString &name, const QString &caption, const QKeySequence &shortcut, Handler execute,
                         Handler update)
{
    auto *a = new QAction(caption, owner_);
    a->setObjectName(name);
    a->setShortcut(shortcut);
    a->setShortcutContext(Qt::WindowShortcut);
    owner_->addAction(a);
    commands_.insert(a, Command{std::move(execute), std::move(update)});
    actions_.push_back(a);
    connect(a, &QAction::triggered, this, [this, a] { run(a); });
    return a;
}

void ActionList::setUpdate(QAction *action, Handler update)
{
    commands_[action].update = std::move(update);
}

QAction *ActionList::action(const QString &name) const
{
    for (QAction *a : actions_)
        if (a->objectName() == name)
            return a;
    return nullptr;
}

void ActionList::runUpdate(QAction *a)
{
    const Command &c = commands_[a];
    if (!c.update)
        return;
    try {
        c.update();
    } catch (...) {
        reportError(std::current_exception());
    }
}

void ActionList::run(QAction *a)
{
    runUpdate(a);
    if (!a->isEnabled())
        return;
    try {
        commands_[a].execute();
    } catch (...) {
        reportError(std::current_exception());
    }
    scheduleUpdate();
}

void ActionList::updateAll()
{
    updateScheduled_ = false;
    for (QAction *a : actions_)
        runUpdate(a);
}

void ActionList::scheduleUpdate()
{
    if (updateScheduled_)
        return;
    updateScheduled_ = true;
    QTimer::singleShot(0, this, [this] {
        if (updateScheduled_)
            updateAll();
    });
}

QAction *ActionList::addMenuItem(QMenu *menu, QAction *command, const QString &caption)
{
    auto *item = menu->addAction(QString());
    auto sync = [item, command, caption] {
        const QString keys = command->shortcut().toString(QKeySequence::NativeText);
        item->setText(keys.isEmpty() ? caption : caption + QLatin1Char('\t') + keys);
        item->setEnabled(command->isEnabled());
    };
    sync();
    connect(command, &QAction::changed, item, sync);
    connect(item, &QAction::triggered, this, [this, command] { run(command); });
    return item;
}

void ActionList::watchMenu(QMenu *menu)
{
    connect(menu, &QMenu::aboutToShow, this, &ActionList::updateAll);
}

void ActionList::reportError(std::exception_ptr error) const
{
    if (onError_)
        onError_(error);
}

bool ActionList::eventFilter(QObject *watched, QEvent *event)
{
    // Shortcuts are matched right after this event reaches the focus widget, so enabled states
    // must be current by then.
    if (event->type() == QEvent::ShortcutOverride && watched->isWidgetType()
        && static_cast<QWidget *>(watched)->window() == owner_)
        updateAll();
    return QObject::eventFilter(watched, event);
}

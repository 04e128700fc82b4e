#include "TavlenApplication.h"

TavlenApplication::TavlenApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
}

bool TavlenApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        if (onException)
            onException(std::current_exception());
        return false;
    }
}

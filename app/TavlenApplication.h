#pragma once
// The application object. Any error that escapes an event handler ends up here and is handed to
// the error handler instead of ending the program.

#include <QApplication>
#include <exception>
#include <functional>

class TavlenApplication : public QApplication
{
public:
    TavlenApplication(int &argc, char **argv);

    std::function<void(std::exception_ptr)> onException;

    bool notify(QObject *receiver, QEvent *event) override;
};

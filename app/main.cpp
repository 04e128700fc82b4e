#include "AppPaths.h"
#include "AppTitle.h"
#include "Interaction.h"
#include "TMainFrm.h"
#include "TavlenApplication.h"

int main(int argc, char **argv)
{
    TavlenApplication app(argc, argv);
    QApplication::setApplicationName(AppTitle);
    QApplication::setApplicationDisplayName(AppTitle);

    const AppPaths paths;
    QtInteraction interaction;
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();

    auto *window = new TMainFrm(paths, interaction, arguments);
    app.onException = [window](std::exception_ptr e) { window->appevException(e); };
    window->show();
    const int code = QApplication::exec();
    // Exit ends the loop without the close sequence; the window goes without writing anything.
    delete window;
    return code;
}

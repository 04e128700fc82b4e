// Shows the character and word counts of the selection in a message box and changes nothing.
#include "DeliveredPlugin.h"
#include "TallyStatistics.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <QWidget>

using namespace tavlen::literals;

namespace {

constexpr auto kCaption = "Информация о тексте"_cp1251;
constexpr auto kDescription = "Сообщает информацию о тексте"_cp1251;

QString toQString(std::string_view cp1251Text)
{
    return QString::fromStdString(tavlen::cp1251::toUtf8(cp1251Text));
}

void showStatistics(TavlenOwner owner, std::string_view selection)
{
    QString text = toQString(tally::statisticsMessage(tally::countText(selection)));
    // The message keeps its LF CR line breaks; a label would draw the CR, so it shows one break.
    text.replace(QLatin1String("\n\r"), QLatin1String("\n"));
    QMessageBox box(QMessageBox::NoIcon, toQString(kCaption.data()), text, QMessageBox::Ok,
                    QWidget::find(owner));
    box.exec();
}

} // namespace

extern "C" const char *GetMenuCaption()
{
    return kCaption.data();
}

extern "C" int32_t GetPluginInfo(TavlenOwner, char **Name, char **Author, char **Version,
                                 char **EMail, char **HomePage, char **Description)
{
    return tavlen::writePluginInfo(delivered::info(kCaption.data(), "1.0", kDescription.data()),
                                   Name, Author, Version, EMail, HomePage, Description);
}

extern "C" int32_t HandleData(TavlenOwner Owner, const char *, char **SelText, char **, char **)
{
    return tavlen::guarded([&] {
        // A host without a widget application cannot show the box; the result is the same.
        if (qobject_cast<QApplication *>(QCoreApplication::instance()))
            showStatistics(Owner, tavlen::textOf(SelText));
        // The counts are only shown: the host inserts nothing and shows nothing more.
        return TAVLEN_FAILED;
    });
}

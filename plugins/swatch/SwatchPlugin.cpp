// Lets the user pick a colour and inserts it as an HTML colour code (#rrggbb).
#include "DeliveredPlugin.h"
#include "SwatchColours.h"

#include <QApplication>
#include <QColorDialog>

#include <algorithm>

using namespace tavlen::literals;

namespace {

constexpr auto kCaption = "Вставить HTML цвет"_cp1251;
constexpr auto kDescription =
    "Этот плагин вызывает стандартное диалоговое окно выбора цвета, а затем вставляет выбранный "
    "цвет в RGB формате (#XXXXXX)!"_cp1251;

// Neither a failure nor a result: Tavlen leaves the document alone and says nothing.
constexpr int32_t kCancelled = 5;

// "#rrggbb" and its terminating zero.
char colourCode[8];

int32_t pickColour(TavlenOwner owner, char **SelText)
{
    // A host without a widget application cannot show the dialog: the same as a failed dialog.
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return kCancelled;
    const swatch::CustomColoursGuard keepEditorsCustomColours;
    QColorDialog dialog(swatch::ownerWidget(owner));
    swatch::prepareDialog(dialog, QApplication::palette());
    if (dialog.exec() != QDialog::Accepted)
        return kCancelled;
    const std::string code = swatch::htmlColourCode(dialog.selectedColor());
    std::copy_n(code.c_str(), sizeof colourCode, colourCode);
    tavlen::setText(SelText, colourCode);
    return TAVLEN_SELECTION_RESULT;
}

} // namespace

extern "C" const char *GetMenuCaption()
{
    return kCaption.data();
}

extern "C" int32_t GetPluginInfo(TavlenOwner, char **Name, char **Author, char **Version,
                                 char **EMail, char **HomePage, char **Description)
{
    return tavlen::writePluginInfo(delivered::info("SWATCH", "1.1", kDescription.data()), Name,
                                   Author, Version, EMail, HomePage, Description);
}

extern "C" int32_t HandleData(TavlenOwner Owner, const char *, char **SelText, char **, char **)
{
    return tavlen::guarded([&] { return pickColour(Owner, SelText); });
}

#include "OptionsFrm.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

struct OptionBox {
    int page; // 0 "Export RVF", 1 "Import RVF"
    const char *caption;
    TRVFOption option;
};

constexpr OptionBox kBoxes[] = {
    {0, "Save Background", rvfoSaveBack},
    {0, "Save Layout", rvfoSaveLayout},
    {0, "Binary Mode", rvfoSaveBinary},
    {0, "Save Pictures", rvfoSavePicturesBody},
    {0, "Save Controls", rvfoSaveControlsBody},
    {0, "Save Text Styles", rvfoSaveTextStyles},
    {0, "Save Paragraph Styles", rvfoSaveParaStyles},
    {1, "Load Background", rvfoLoadBack},
    {1, "Load Layout", rvfoLoadLayout},
    {1, "Ignore Unknown Pictures", rvfoIgnoreUnknownPicFmt},
    {1, "Ignore Unknown Controls", rvfoIgnoreUnknownCtrls},
    {1, "Styles", rvfoConvUnknownStylesToZero},
    {1, "Images Indices", rvfoConvLargeImageIdxToZero},
};

} // namespace

TfrmOptions::TfrmOptions(const TRVFOptions &current, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Settings"));
    setModal(true);

    auto *pages = new QTabWidget(this);
    QWidget *page[2];
    QVBoxLayout *pageLayout[2];
    for (int i = 0; i < 2; ++i) {
        page[i] = new QWidget(pages);
        pageLayout[i] = new QVBoxLayout(page[i]);
    }
    pages->addTab(page[0], QStringLiteral("Export RVF"));
    pages->addTab(page[1], QStringLiteral("Import RVF"));
    for (const OptionBox &b : kBoxes) {
        auto *box = new QCheckBox(QLatin1String(b.caption), page[b.page]);
        box->setChecked(current.has(b.option));
        pageLayout[b.page]->addWidget(box);
        boxes_[b.option] = box;
    }
    for (QVBoxLayout *l : pageLayout)
        l->addStretch();

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(pages);
    layout->addWidget(buttons);
    // A fixed border, as a settings form has.
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

TRVFOptions TfrmOptions::chosenOptions() const
{
    TRVFOptions options;
    for (const auto &[option, box] : boxes_)
        options.set(option, box->isChecked());
    return options;
}

QCheckBox *TfrmOptions::checkBox(TRVFOption option) const
{
    const auto it = boxes_.find(option);
    return it == boxes_.end() ? nullptr : it->second;
}

#pragma once
// The "Settings" dialog: the native format's options as check boxes on two pages. Three options
// have no check box, so "OK" switches them off (the dialog's set is made of ticked boxes only).

#include "RVFOptions.h"

#include <QDialog>
#include <map>

class QCheckBox;

class TfrmOptions : public QDialog
{
    Q_OBJECT
public:
    TfrmOptions(const TRVFOptions &current, QWidget *parent = nullptr);

    // Exactly the options whose boxes are ticked.
    TRVFOptions chosenOptions() const;
    // The box of `option`; null for the three options without one.
    QCheckBox *checkBox(TRVFOption option) const;

private:
    std::map<TRVFOption, QCheckBox *> boxes_;
};

#pragma once
// Native-format files for the format table: the binary or the text form, as the options choose
// on saving; either form is recognised on loading.

#include "RVFOptions.h"

#include <QString>

class RVDocument;

namespace rvformats {

bool loadRvf(RVDocument &doc, const QString &path, int textStyle, int paraStyle, const TRVFOptions &options,
             QString *error);
bool saveRvf(const RVDocument &doc, const QString &path, const TRVFOptions &options, QString *error);

} // namespace rvformats

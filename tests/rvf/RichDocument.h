#pragma once
// One document that holds every kind of item and every style attribute the model has, and the
// comparison of two documents' whole models, for the round trips of the native format and XML.

#include "RVDocument.h"

#include <QString>

// Fills an empty document: styles with every attribute set away from its default, text runs with
// tags, a picture, the six controls, a table with merged cells and a nested paragraph, a list,
// checkpoints on items and after the last item, background, layout, page setup and title.
void fillRichDocument(RVDocument &doc);

// Empty when the two documents hold the same model; otherwise what differs first.
QString modelDifference(const RVDocument &a, const RVDocument &b);

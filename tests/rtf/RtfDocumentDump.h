#pragma once
// A document's model as text: paragraphs with their paragraph style's formatting, runs with their
// text style's formatting and tags, lists, pictures and tables. Two documents with the same dump
// hold the same content whatever their style numbers.

#include <QString>

class RVDocument;

QString dumpDocument(const RVDocument &doc);

// Test helper: a laid-out document written as PDF and read back as text with pdftotext -layout,
// the way a user would find its words in the file.
#pragma once

#include <reports/document.h>

#include <QString>

namespace testsupport {

// Writes `doc` to `path` (a temporary file when empty) and returns the text of its pages.
QString pdfText(const reports::Document &doc, const QString &path = {});

} // namespace testsupport

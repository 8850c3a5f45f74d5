// The commands that hand a document or the subject list to another application: 448 (.docx),
// 449 (PDF) and 466 (.xlsx). They ask, write into the project's "work" folder with a progress
// display when the work takes more than a second, show where the file went, and open it.
#pragma once

#include "base/Services.h"
#include "model/ProjectData.h"

class QWidget;

namespace corvane {

class TextDocument;

/// 448 (pdf false) or 449 (pdf true) on the open document.
void outputDocument(QWidget* parent, ProjectData& project, Services& services,
                    const TextDocument& document, bool pdf);

/// 466: the subject list as "<project name>.xlsx".
void exportSubjectList(QWidget* parent, ProjectData& project, Services& services);

} // namespace corvane

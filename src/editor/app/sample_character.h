#pragma once

#include <QString>

namespace plk {

// The folder the sample character is embedded under, in the program's resources.
inline const QString kEmbeddedSampleFolder = QStringLiteral(":/sample");
inline const QString kSampleProjectName = QStringLiteral("sample.cre");
// The folder made for the copy, named in the editor's language: it belongs to the author's
// documents, not to the project, which keeps its own names.
QString SampleFolderName();

class CMainFrame;

// Plays the first cut over and over (simple playback with オートリピート ticked), as an
// author would press the buttons: the character comes alive as soon as it is open.
void PlayFirstCutLooping(CMainFrame& frame);

// `wanted`, or the first of "wanted (2)", "wanted (3)", ... that does not exist yet.
QString UniqueFolderPath(const QString& wanted);

// Where the sample goes unless the author says otherwise: a new folder under the
// documents folder (the home folder when there is none).
QString DefaultSampleFolder();

}  // namespace plk

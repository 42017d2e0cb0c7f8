#pragma once

#include <QString>

namespace vanta::platform {

class Prompt;

// True when the path names an existing file.
bool FileExists(const QString &path);

// The About box: program name and version.
void ShowAbout(Prompt &prompt);

} // namespace vanta::platform

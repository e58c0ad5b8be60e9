#pragma once

#include <QString>
#include <exception>

namespace plk {

// What the author is told when a file command fails: in Japanese, naming the file, what
// went wrong and what to do. The core's own texts are English and meant for the CLI.
enum class FileTask { OpenProject, SaveProject, Export };
QString UserErrorText(const std::exception& error, FileTask task);

}  // namespace plk

#pragma once

#include <QString>
#include <filesystem>
#include <functional>

#include "core/project/game_export.h"

class QWidget;

namespace plk {

using ExportFunction =
    std::function<void(const Project&, const std::filesystem::path&, const ExportOptions&)>;

struct ExportOutcome {
    enum class Status { Written, Cancelled, Failed };
    Status status;
    QString error;  // the text to show when the export failed
};

// Runs an export on a worker thread while the user-interface thread keeps painting. For
// the first half second user input waits; after that a modal progress dialog appears whose
// cancel button stops the export, which then leaves no file behind.
class ExportRunner {
public:
    static constexpr int kProgressDelayMs = 500;

    explicit ExportRunner(ExportFunction exporter = ExportGame);

    ExportOutcome Run(QWidget* parent, const Project& project, const std::filesystem::path& out);

private:
    ExportFunction m_exporter;
};

}  // namespace plk

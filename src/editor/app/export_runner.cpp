#include "editor/app/export_runner.h"

#include "editor/app/error_texts.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>
#include <atomic>
#include <exception>
#include <memory>
#include <thread>

namespace plk {
namespace {

// What the worker shares with the user-interface thread.
struct ExportState {
    std::atomic<std::size_t> done{0};
    std::atomic<std::size_t> total{0};
    std::atomic<bool> cancel{false};
    std::atomic<bool> finished{false};
    std::exception_ptr error;  // written by the worker before `finished`
};

constexpr int kPollMs = 20;

int Percent(const ExportState& state) {
    std::size_t total = state.total.load();
    if (total == 0) {
        return 0;
    }
    return static_cast<int>(std::min<std::size_t>(state.done.load(), total) * 100 / total);
}

}  // namespace

ExportRunner::ExportRunner(ExportFunction exporter) : m_exporter(std::move(exporter)) {}

ExportOutcome ExportRunner::Run(QWidget* parent, const Project& project,
                                const std::filesystem::path& out) {
    ExportState state;
    std::thread worker([&] {
        try {
            ExportOptions options;
            options.progress = [&state](std::size_t done, std::size_t total) {
                state.done = done;
                state.total = total;
                return !state.cancel.load();
            };
            m_exporter(project, out, options);
        } catch (...) {
            state.error = std::current_exception();
        }
        state.finished = true;
    });

    QElapsedTimer clock;
    clock.start();
    std::unique_ptr<QProgressDialog> progress;
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(kPollMs);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (state.finished) {
            loop.quit();
            return;
        }
        if (!progress) {
            if (clock.elapsed() >= kProgressDelayMs) {
                loop.quit();  // continue in the phase that shows the dialog
            }
            return;
        }
        progress->setValue(Percent(state));
        if (progress->wasCanceled()) {
            state.cancel = true;
        }
    });
    poll.start();

    // Short exports finish here without any dialog; input typed meanwhile is kept for later.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!state.finished) {
        progress = std::make_unique<QProgressDialog>(
            QCoreApplication::translate("ExportRunner", "エクスポートしています..."),
            QCoreApplication::translate("ExportRunner", "キャンセル"), 0, 100, parent);
        progress->setWindowTitle(QStringLiteral("PLK-CE"));
        progress->setWindowModality(Qt::ApplicationModal);
        progress->setAutoClose(false);
        progress->setAutoReset(false);
        progress->setMinimumDuration(0);
        progress->setValue(Percent(state));
        progress->show();
        loop.exec();
    }
    poll.stop();
    worker.join();
    progress.reset();

    if (!state.error) {
        return {ExportOutcome::Status::Written, {}};
    }
    try {
        std::rethrow_exception(state.error);
    } catch (const ExportCancelled&) {
        return {ExportOutcome::Status::Cancelled, {}};
    } catch (const std::exception& error) {
        return {ExportOutcome::Status::Failed, UserErrorText(error, FileTask::Export)};
    } catch (...) {
        return {ExportOutcome::Status::Failed,
                QCoreApplication::translate("ExportRunner", "エクスポートできませんでした。")};
    }
}

}  // namespace plk

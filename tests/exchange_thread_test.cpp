// The exchange on a worker thread of its own while the main thread serves its view, the way the
// program runs it: every view call is handed to the main thread and the worker waits until it
// has run there; the main thread presses Cancel while it shows the progress. Built under
// ThreadSanitizer too, where this shows that the exchange shares nothing with the main thread
// except through its flags and the hand-off.
#include <gtest/gtest.h>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "exchange_harness.h"

namespace porvel::testing {
namespace {

// Forwards every call to a view that lives on the main thread and waits until it has run.
class MainThreadView : public ExchangeView {
public:
    explicit MainThreadView(ExchangeView& target) : target_(target) {}

    void Update(const UpdateEffect& effect) override {
        RunOnMain([&] { target_.Update(effect); });
    }
    void ShowMessage(const QString& text, const QString& caption) override {
        RunOnMain([&] { target_.ShowMessage(text, caption); });
    }
    void SetPriority(WorkerPriority priority) override {
        RunOnMain([&] { target_.SetPriority(priority); });
    }
    void HandOverArchive(const ArchiveHandOver& read) override {
        RunOnMain([&] { target_.HandOverArchive(read); });
    }
    void FillGrid(const EditorRows& rows) override {
        RunOnMain([&] { target_.FillGrid(rows); });
    }
    EditorRows ReadGrid() override {
        EditorRows rows;
        RunOnMain([&] { rows = target_.ReadGrid(); });
        return rows;
    }
    void CloseDialog() override {
        RunOnMain([&] { target_.CloseDialog(); });
    }
    void ExitProgram(int code) override {
        RunOnMain([&] { target_.ExitProgram(code); });
    }

    // The worker has finished: Serve returns once no call is waiting.
    void Finish() {
        std::lock_guard<std::mutex> lock(mutex_);
        finished_ = true;
        changed_.notify_all();
    }

    // The main thread's loop: runs the handed calls until the worker has finished.
    void Serve() {
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            changed_.wait(lock, [&] { return task_ || finished_; });
            if (!task_) return;
            std::function<void()> task = std::move(task_);
            task_ = nullptr;
            lock.unlock();
            task();
            lock.lock();
            ++served_;
            changed_.notify_all();
        }
    }

private:
    void RunOnMain(std::function<void()> task) {
        std::unique_lock<std::mutex> lock(mutex_);
        const unsigned ticket = served_ + 1;
        task_ = std::move(task);
        changed_.notify_all();
        changed_.wait(lock, [&] { return served_ >= ticket; });
    }

    ExchangeView& target_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::function<void()> task_;
    unsigned served_ = 0;
    bool finished_ = false;
};

class WorkerThread : public ExchangeHarness {};

TEST_F(WorkerThread, CancelPressedOnTheMainThreadStopsTheReadOnTheWorker) {
    Load("generate count=6 samples=200\n");
    globals_.listsNeeded = true;
    globals_.state = ExchangeState::Connect;
    globals_.operation = Operation::ReadArchive;
    // Pressed while the window shows half the archive read: 20 + 80 x 3 div 6 = 60.
    view_.onUpdate = [&](const RecordingView::Controls& controls) {
        if (controls.gauge >= 60) globals_.cancel = true;
    };
    MainThreadView handOff(view_);
    std::thread worker([&] {
        Exchange exchange(globals_, Link(), clock_, handOff, objects_, materials_, language_);
        exchange.Run();
        handOff.Finish();
    });
    handOff.Serve();
    worker.join();

    EXPECT_EQ(CountCommand("ReadRecord 2"), 1) << Log();
    EXPECT_EQ(CountCommand("ReadRecord 3"), 0) << Log();
    EXPECT_TRUE(view_.handOvers.empty());
    EXPECT_EQ(view_.dialogCloses, 1);
    EXPECT_FALSE(globals_.cancel);
    EXPECT_TRUE(globals_.listsNeeded);
    EXPECT_EQ(Device().Violations(), 0u) << Log();
}

}  // namespace
}  // namespace porvel::testing

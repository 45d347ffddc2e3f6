// The file dialog on big folders: opening the dialog on a folder of 10,000
// files until its first frame is presented, and entering a folder of
// 100,000 files until the list is repainted and presented. The folders are
// made once in the temporary folder and removed at exit.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "bench/bench_desktop.h"
#include "skin/embedded_skin.h"
#include "skin/skin_data.h"
#include "skinned/skin_file_list.h"
#include "skinned/skin_save_dialog.h"

namespace {

using namespace lt;

// A folder of `count` empty files named like exports ("keywords 123.txt").
class BigFolder {
public:
    explicit BigFolder(int count)
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "lt-dialog-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()))
            path_ = pattern;
        for (int i = 0; i < count; ++i)
            std::ofstream(path_ + "/keywords " + std::to_string(i) + ".txt");
        std::filesystem::create_directory(path_ + "/sub");
    }
    ~BigFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// The main form shown with the stored skin loaded.
struct Desk : BenchDesktop {
    TskSkinData* data = nullptr;

    Desk()
    {
        form->SetBounds(0, 0, 300, 200);
        data = NewEmbeddedSkinData(form);
        form->Show();
        loop.process_pending();
    }
};

void BM_OpenDialogOn10000Files(benchmark::State& state)
{
    static BigFolder folder(10000);
    Desk desk;
    auto* dialog = new TskSkinSaveDialog(desk.form);
    dialog->SetSkinData(desk.data);
    dialog->SetCtrlSkinData(desk.data);
    dialog->Filter = "Text|*.txt";
    dialog->InitialDir = folder.Path();
    dialog->Context = [] {
        FolderContext c = FolderContext::System();
        c.program_folder.clear();
        return c;
    };
    int presented = 0;
    for (auto _ : state) {
        // The first loop turn of the modal window paints and presents it;
        // the step after it closes the window again.
        desk.loop.post([&] {
            TskOpenDlgForm* f = dialog->Form();
            desk.loop.post([&, f] {
                presented += desk.backend.present_count(*f->WindowHandle()) > 0;
                f->SetModalResult(mrCancel);
            });
        });
        dialog->Execute();
    }
    state.counters["presented"] = benchmark::Counter(presented, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_OpenDialogOn10000Files)->Unit(benchmark::kMillisecond);

void BM_EnterFolderOf100000Files(benchmark::State& state)
{
    static BigFolder folder(100000);
    Desk desk;
    desk.form->SetBounds(0, 0, 460, 330);
    auto* list = new TskSkinFileListView(desk.form);
    list->SetParent(desk.form);
    list->SetBounds(0, 0, 440, 300);
    list->SetSkinData(desk.data);
    list->SetMask("*.txt");
    list->SetViewStyle(static_cast<TViewStyle>(state.range(0)));
    for (auto _ : state) {
        list->SetFolder(folder.Path() + "/sub");
        desk.loop.process_pending();
        // Entered and shown.
        list->SetFolder(folder.Path());
        desk.loop.process_pending();
    }
    state.counters["entries"] = list->Count();
}
BENCHMARK(BM_EnterFolderOf100000Files)
    ->Arg(static_cast<int>(TViewStyle::vsList))
    ->Arg(static_cast<int>(TViewStyle::vsReport))
    ->Unit(benchmark::kMillisecond);

} // namespace

// Takes a picture of each step of the real wizard, filled in as a user would,
// for the README and for `make run` without a display.
//   tessiva_tour.exe PICTURE_FOLDER SAMPLES_FOLDER  ->  step1.bmp step2.bmp step3.bmp

#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

#include "RemoteWizard.h"
#include "resource.h"

using namespace remote;

namespace {

void SavePicture(const Wizard& w, int step, const std::string& folder) {
    ClickStep(w.steps, step);  // the focus on the step buttons, as after a click
    // Painted now, its page in front.
    ::RedrawWindow(w.window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    WaitFor([&] { return w.ShowsPage(step); }, "step " + std::to_string(step + 1) + " on the screen");
    RECT rect{};
    ::GetWindowRect(w.window, &rect);
    const BITMAPINFOHEADER info{sizeof(info), rect.right - rect.left, rect.bottom - rect.top, 1, 24, BI_RGB,
                                0, 0, 0, 0, 0};
    // Pictured once two looks a moment apart agree: a control may still be painting.
    std::vector<DWORD> bits = ScreenPixels(w.window, SIZE{info.biWidth, info.biHeight}, 24);
    WaitFor([&] {
        ::Sleep(200);
        return std::exchange(bits, ScreenPixels(w.window, SIZE{info.biWidth, info.biHeight}, 24)) == bits;
    }, "step " + std::to_string(step + 1) + " painted whole");
    const DWORD size = static_cast<DWORD>(bits.size() * 4);
    const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof(info);
    const BITMAPFILEHEADER file{0x4D42, offset + size, 0, 0, offset};
    const std::string path = folder + "\\step" + std::to_string(step + 1) + ".bmp";
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&info), sizeof(info));
    Check(static_cast<bool>(out.write(reinterpret_cast<const char*>(bits.data()), size)), "could not save " + path);
}

void Tour(const std::string& pictures, const std::string& samples) {
    const std::string texts = "C:\\My Texts";
    EmptyFolder(texts);
    std::string names;
    for (const auto& sample : std::filesystem::directory_iterator(samples))
        if (sample.path().extension() == ".txt") {
            std::filesystem::copy_file(sample.path(), std::filesystem::path(texts) / sample.path().filename());
            names += "\"" + sample.path().filename().u8string() + "\" ";
        }

    Wizard w(OwnFolder() + "tessiva.exe", OwnFolder());
    w.AddFiles(names, texts);
    SavePicture(w, 0, pictures);
    SetText(w.Item(1, IDC_KEYWORDS), "travel, recipes, notes");
    SetText(w.Item(1, IDC_DESCRIPTION), "Pages made from my text files");
    SavePicture(w, 1, pictures);
    ClickStep(w.steps, 2);
    const std::pair<int, const char*> fields[] = {{IDC_OUTPUT_PATH, "C:\\My Site"}, {IDC_OUTPUT_NAME, "page"},
        {IDC_START_NUMBER, "1"}, {IDC_HOME_TITLE, "Home"}, {IDC_HOME_URL, "index.htm"}};
    for (const auto& field : fields)
        SetText(w.Item(2, field.first), field.second);
    Click(w.Item(2, IDC_CREATE_INDEX));
    WaitFor([&] { return ::SendMessageW(w.Item(2, IDC_CREATE_INDEX), BM_GETCHECK, 0, 0) == BST_CHECKED; },
            "the index option");
    SavePicture(w, 2, pictures);
    w.Close();
}

}  // namespace

int main(int argc, char** argv) {
    try {
        Check(argc == 3, "usage: tessiva_tour PICTURE_FOLDER SAMPLES_FOLDER");
        Tour(argv[1], argv[2]);
        return 0;
    } catch (const std::exception& failure) {
        std::printf("tour failed: %s\n", failure.what());
        return 1;
    }
}

// Draws the program's icon as PNG files for the icon theme: make_icon_images DIR SIZE...
// writes DIR/SIZExSIZE.png for each size.
#include <cstdio>
#include <string>

#include "program_icon_art.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: make_icon_images DIR SIZE...\n");
        return 2;
    }
    for (int i = 2; i < argc; ++i) {
        const int size = std::stoi(argv[i]);
        const std::string path =
            std::string(argv[1]) + "/" + std::to_string(size) + "x" + std::to_string(size) + ".png";
        if (!velmorin::gui::drawProgramIcon(size).save(QString::fromStdString(path), "PNG")) {
            std::fprintf(stderr, "make_icon_images: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}

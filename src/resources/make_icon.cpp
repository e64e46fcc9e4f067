// Writes the program's icon file from the drawn artwork:
//     make_icon OUT.ico
// Its output is kept in the source tree, so a Windows build needs no host tool.
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <vector>

#include "resources/artwork.h"
#include "resources/ico_file.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_icon OUT.ico\n";
        return 2;
    }
    try {
        std::vector<vandrel::Image> images;
        for (int size : {16, 32, 48, 256}) images.push_back(vandrel::ApplicationIcon(size));
        const std::string bytes = vandrel::IcoFileBytes(images);
        std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::cerr << "make_icon: cannot write " << argv[1] << "\n";
            return 1;
        }
    } catch (const std::exception& error) {
        std::cerr << "make_icon: " << error.what() << "\n";
        return 1;
    }
    return 0;
}

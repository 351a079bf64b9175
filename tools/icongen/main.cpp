// icongen OUTPUT.ico: draws the program's icon at every size it carries and writes it.
#include "canvas.h"
#include "ico_file.h"
#include "picture.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: icongen OUTPUT.ico\n");
        return 2;
    }
    std::vector<IconImage> images;
    for (int size : {128, 96, 72, 64, 48, 32, 24, 16}) {
        Canvas canvas(size);
        paintIcon(canvas);
        images.push_back({size, canvas.bgra()});
    }
    if (!writeIcoFile(argv[1], images)) {
        std::fprintf(stderr, "icongen: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}

#include "app/Paths.h"

std::string YkPath(std::string_view path)
{
    std::string out(path);
    for (char& c : out)
        if (c == '\\')
            c = '/';
    return out;
}

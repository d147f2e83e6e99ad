#include "input/PadScript.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <strings.h>

CPadScript g_padScript;

namespace {

const char* const kInputNames[kPadInputs] = {"A", "B", "Y", "Start", "Back", "Up", "Down", "Left", "Right"};
const char* const kAxisNames[kPadAxes] = {"LeftX", "LeftY", "RightX", "RightY"};

template <size_t N>
int IndexOf(const char* const (&names)[N], const std::string& word)
{
    for (size_t i = 0; i < N; ++i)
        if (!strcasecmp(names[i], word.c_str()))
            return static_cast<int>(i);
    return -1;
}

} // namespace

void CPadScript::OpenFromEnvironment()
{
    const char* path = std::getenv(kVariable);
    if (!path || !*path)
        return;
    fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        std::fprintf(stderr, "%s=%s: cannot open it (%s)\n", kVariable, path, std::strerror(errno));
}

void CPadScript::Close()
{
    pad.Detach();
    if (fd >= 0)
        close(fd);
    fd = -1;
    pending.clear();
}

void CPadScript::Run()
{
    if (fd < 0)
        return;
    char buffer[512];
    ssize_t n;
    while ((n = read(fd, buffer, sizeof buffer)) > 0)
        pending.append(buffer, static_cast<size_t>(n));
    size_t end;
    while ((end = pending.find('\n')) != std::string::npos) {
        const std::string line = pending.substr(0, end);
        pending.erase(0, end + 1);
        if (!Apply(line))
            std::fprintf(stderr, "%s: not a pad command: \"%s\"\n", kVariable, line.c_str());
    }
}

bool CPadScript::Apply(const std::string& line)
{
    std::istringstream in(line);
    std::string verb, what;
    in >> verb >> what;
    if (verb == "attach")
        return pad.Attach();
    if (verb == "detach") {
        pad.Detach();
        return true;
    }
    if (verb == "press" || verb == "release") {
        const int input = IndexOf(kInputNames, what);
        if (input < 0)
            return false;
        pad.Press(static_cast<EPadInput>(input), verb == "press");
        return true;
    }
    if (verb == "tilt") {
        const int axis = IndexOf(kAxisNames, what);
        int value = 0;
        if (axis < 0 || !(in >> value))
            return false;
        pad.Tilt(static_cast<EPadAxis>(axis), value);
        return true;
    }
    return false;
}

#include "assets/ValueBounds.h"

#include <cmath>
#include <cstdio>
#include <set>

namespace {

std::set<std::string>& Said()
{
    static std::set<std::string> said;
    return said;
}

std::vector<std::string>& Pending()
{
    static std::vector<std::string> pending;
    return pending;
}

std::string Number(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
}

} // namespace

void ReportBound(const std::string& file, const char* section, const char* key, const std::string& text)
{
    const std::string line = file + ": [" + section + "] " + key + " " + text;
    // Nobody takes them in the game itself; a few are all yk-lint needs at once.
    if (Pending().size() < 1000)
        Pending().push_back(line);
    if (Said().insert(file + "\n" + section + "\n" + key).second)
        std::fprintf(stderr, "%s\n", line.c_str());
}

int BoundWhole(int v, int lo, int hi, const std::string& file, const char* section, const char* key)
{
    if (v >= lo && v <= hi)
        return v;
    const int held = v < lo ? lo : hi;
    ReportBound(file, section, key,
                std::to_string(v) + (v < lo ? " is below " : " is above ") + std::to_string(held) +
                    "; read as " + std::to_string(held));
    return held;
}

float BoundPart(float v, float fallback, float lo, float hi, const std::string& file, const char* section,
                const char* key)
{
    if (std::isnan(v)) {
        const float held = std::isnan(fallback) ? 0.0f : std::fmax(lo, std::fmin(hi, fallback));
        ReportBound(file, section, key, "is not a number; read as " + Number(held));
        return held;
    }
    if (v >= lo && v <= hi)
        return v;
    const float held = v < lo ? lo : hi;
    ReportBound(file, section, key,
                Number(v) + (v < lo ? " is below " : " is above ") + Number(held) + "; read as " + Number(held));
    return held;
}

std::vector<std::string> TakeBoundReports()
{
    std::vector<std::string> taken;
    taken.swap(Pending());
    return taken;
}

void ForgetBoundReports()
{
    Said().clear();
    Pending().clear();
}

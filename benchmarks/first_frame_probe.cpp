// Loaded with LD_PRELOAD into a Qt program on X11: when the program first
// copies window pixels on the X server (its first frame), prints how long
// after FIRST_FRAME_START_NS (CLOCK_REALTIME, set by the launcher just before
// it started the program) that was, and the process's peak resident memory
// so far. A measuring aid only; the program itself knows nothing of it.

#include <dlfcn.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

bool reported = false;

long long nowNs() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return now.tv_sec * 1'000'000'000LL + now.tv_nsec;
}

long peakResidentKiB() {
    FILE* status = std::fopen("/proc/self/status", "r");
    if (status == nullptr) return -1;
    std::array<char, 256> line{};
    long kib = -1;
    while (std::fgets(line.data(), static_cast<int>(line.size()), status) != nullptr) {
        if (std::strncmp(line.data(), "VmHWM:", 6) == 0) kib = std::strtol(line.data() + 6, nullptr, 10);
    }
    std::fclose(status);
    return kib;
}

void reportFirstFrame() {
    if (reported) return;
    reported = true;
    const char* start = std::getenv("FIRST_FRAME_START_NS");
    const long long elapsed = start == nullptr ? -1 : nowNs() - std::atoll(start);
    std::fprintf(stderr, "first-frame-us %lld peak-rss-kib %ld\n", elapsed / 1000, peakResidentKiB());
    std::fflush(stderr);
    // For profilers: the run ends at its first frame, so that what they count
    // is the start-up alone.
    if (std::getenv("FIRST_FRAME_EXIT") != nullptr) std::_Exit(0);
}

// The real function, from the library that defines it. Qt loads these
// libraries with its platform plugin, outside the global scope, so
// RTLD_NEXT would not find them.
template <class Function>
Function real(const char* library, const char* name) {
    void* handle = dlopen(library, RTLD_LAZY | RTLD_NOLOAD);
    void* function = handle == nullptr ? nullptr : dlsym(handle, name);
    if (function == nullptr) {
        std::fprintf(stderr, "first_frame_probe: no %s in %s\n", name, library);
        std::abort();
    }
    return reinterpret_cast<Function>(function);
}

}  // namespace

// The cookies are plain structs of one unsigned int; the parameters are
// passed through untouched, so their exact types do not matter here.
struct Cookie {
    unsigned int sequence;
};

// Qt's X11 backing store sends a frame either through shared memory or by
// copying a pixmap it painted into; the first of either is the first frame.
extern "C" Cookie xcb_shm_put_image(void* c, unsigned drawable, unsigned gc, unsigned short totalWidth,
                                    unsigned short totalHeight, unsigned short sourceX, unsigned short sourceY,
                                    unsigned short sourceWidth, unsigned short sourceHeight, short targetX,
                                    short targetY, unsigned char depth, unsigned char format, unsigned char sendEvent,
                                    unsigned segment, unsigned offset) {
    static const auto putImage =
        real<Cookie (*)(void*, unsigned, unsigned, unsigned short, unsigned short, unsigned short, unsigned short,
                        unsigned short, unsigned short, short, short, unsigned char, unsigned char, unsigned char,
                        unsigned, unsigned)>("libxcb-shm.so.0", "xcb_shm_put_image");
    const Cookie cookie = putImage(c, drawable, gc, totalWidth, totalHeight, sourceX, sourceY, sourceWidth,
                                   sourceHeight, targetX, targetY, depth, format, sendEvent, segment, offset);
    reportFirstFrame();
    return cookie;
}

extern "C" Cookie xcb_copy_area(void* c, unsigned source, unsigned target, unsigned gc, short sourceX, short sourceY,
                                short targetX, short targetY, unsigned short width, unsigned short height) {
    static const auto copyArea = real<Cookie (*)(void*, unsigned, unsigned, unsigned, short, short, short, short,
                                                 unsigned short, unsigned short)>("libxcb.so.1", "xcb_copy_area");
    const Cookie cookie = copyArea(c, source, target, gc, sourceX, sourceY, targetX, targetY, width, height);
    reportFirstFrame();
    return cookie;
}

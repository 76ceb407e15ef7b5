#include "cpufeatures.h"

#include "matchfile/verifier.h"

#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// The real question, for everything this build does not leave out.
#undef __builtin_cpu_supports

namespace {

int queries = 0;

bool denied(const char* feature) {
    const char* list = QUENBURY_FUZZ_DENIED_FEATURES; // comma-separated
    const std::size_t n = std::strlen(feature);
    for (const char* p = list; (p = std::strstr(p, feature)) != nullptr; p += n) {
        if ((p == list || p[-1] == ',') && (p[n] == ',' || p[n] == '\0'))
            return true;
    }
    return false;
}

} // namespace

bool quenburyFuzzCpuSupports(const char* feature) {
    ++queries;
    if (denied(feature))
        return false;
    // __builtin_cpu_supports takes only literals.
    if (std::strcmp(feature, "popcnt") == 0)
        return __builtin_cpu_supports("popcnt");
    if (std::strcmp(feature, "bmi") == 0)
        return __builtin_cpu_supports("bmi");
    if (std::strcmp(feature, "bmi2") == 0)
        return __builtin_cpu_supports("bmi2");
    if (std::strcmp(feature, "avx2") == 0)
        return __builtin_cpu_supports("avx2");
    if (std::strcmp(feature, "avx512f") == 0)
        return __builtin_cpu_supports("avx512f");
    if (std::strcmp(feature, "avx512bw") == 0)
        return __builtin_cpu_supports("avx512bw");
    std::fprintf(stderr, "cpufeatures: the verifier asks for \"%s\", which this fuzz build does not know\n",
                 feature);
    std::abort();
}

// Before fuzzing: a build that means to leave a path out has to see the verifier ask at all, or it
// would fuzz the same path as the plain target and say nothing.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    (void)quenbury::matchfile::verify(QString(1000, QChar(u'*')));
    if (queries == 0) {
        std::fprintf(stderr,
                     "cpufeatures: the verifier no longer asks for processor features; "
                     "leaving out %s changes nothing\n",
                     QUENBURY_FUZZ_DENIED_FEATURES);
        std::abort();
    }
    return 0;
}

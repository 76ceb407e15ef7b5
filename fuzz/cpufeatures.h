#pragma once

// Included ahead of the verifier's source in the builds that fuzz its other block-scan paths: the
// verifier picks the widest instructions the processor has, so on a machine with AVX-512 the AVX2
// and SSE2 paths, which most users' machines take, would never be fuzzed. These builds answer
// "no" for the instruction sets they leave out.
bool quenburyFuzzCpuSupports(const char* feature);
#define __builtin_cpu_supports(feature) quenburyFuzzCpuSupports(feature)

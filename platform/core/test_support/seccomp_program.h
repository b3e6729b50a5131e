#pragma once

// What the tests' system-call traps share: their filters judge only this
// architecture's calls (numbers differ between architectures).

#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace cl::testing {

#if defined(__x86_64__)
inline constexpr std::uint32_t thisArchitecture = AUDIT_ARCH_X86_64;
#elif defined(__aarch64__)
inline constexpr std::uint32_t thisArchitecture = AUDIT_ARCH_AARCH64;
#else
inline constexpr std::uint32_t thisArchitecture = 0;
#endif

// FILTER behind a check that lets other architectures' calls pass; empty
// where this architecture is not known, so that no trap is set.
inline std::vector<sock_filter> ForThisArchitecture(std::vector<sock_filter> filter) {
  if (thisArchitecture == 0) return {};
  filter.insert(filter.begin(), {
                                    BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)),
                                    BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, thisArchitecture, 1, 0),
                                    BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
                                });
  return filter;
}

}  // namespace cl::testing

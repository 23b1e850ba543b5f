#pragma once
// Makes a system call fail, for a child process that tests what a save does
// when the system says no: a file system that reserves no room, a disk that
// cannot write back. The filter stays for the rest of the process and for
// what it executes, so it is only ever installed in a child.
#include <seccomp.h>

#include <initializer_list>

// From now on, each of syscalls fails with error; false when the filter
// could not be installed.
inline bool FailSystemCalls(std::initializer_list<int> syscalls, int error)
{
    const scmp_filter_ctx filter = seccomp_init(SCMP_ACT_ALLOW);
    if (!filter)
        return false;
    bool ok = true;
    for (const int call : syscalls)
        ok = ok && seccomp_rule_add(filter, SCMP_ACT_ERRNO(unsigned(error)), call, 0) == 0;
    ok = ok && seccomp_load(filter) == 0;
    seccomp_release(filter);
    return ok;
}

#pragma once

#include "bench/protocol.h"

#include <cstdio>
#include <string>
#include <sys/types.h>
#include <vector>

// A measuring child: this same binary started anew with other arguments, its output piped
// back, so that every start is a new process and the parent can watch it from outside.
struct Child {
    pid_t pid = -1;
    FILE* output = nullptr;
};

Child spawn(const std::vector<std::string>& arguments);
// Reads "key value" lines until the child closes its output, or until the key `until`.
void readResults(Child& child, Results& results, const char* until = nullptr);
// Waits for the child to end; true if it ended well.
bool finish(Child& child);
// Ends an idle child as a desktop session would, and says so if it does not stop.
void terminate(Child& child);

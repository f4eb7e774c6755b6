#pragma once
// Runs the Marionet program as users run it: the arguments after the program name (quoted as
// the shell wants), standard output and error together.

#include <sys/wait.h>

#include <cstdio>
#include <string>

// With a directory, the program runs in it.
inline int RunProgram(const std::string& arguments, std::string& output,
                      const std::string& directory = std::string()) {
    std::string command = std::string("'") + MARIONET_PROGRAM + "' " + arguments + " 2>&1";
    if (!directory.empty()) {
        command = "cd '" + directory + "' && " + command;
    }
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return -1;
    }
    char buffer[256];
    output.clear();
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        output += buffer;
    }
    int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

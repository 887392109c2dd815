// Runs the built vexilo-fit and collects what it wrote.
#pragma once

#include <string>
#include <vector>

struct run_result {
    int status = -1;  // exit status; 128 + signal number when killed
    std::string out;  // standard output
    std::string err;  // standard error
};

// Runs vexilo-fit with the arguments, standard input from /dev/null.
run_result run_vexilo_fit(const std::vector<std::string>& args);

std::string file_text(const std::string& path);

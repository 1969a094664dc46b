// kaz: translates the carriage control of Fortran output into plain text.
#include "filter/filter.h"

int main(int argc, char** argv) { kaz::run_program(argc, argv); }

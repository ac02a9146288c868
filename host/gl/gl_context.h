#pragma once
// The process's OpenGL context: OpenGL 3.3 core or newer on EGL's surfaceless platform (Mesa's
// llvmpipe without a GPU, the GPU's driver with one). It is made on first use and then kept
// until the process ends; every renderer of the process draws through it, on the thread that
// made it.
#include <string>

namespace plughost::gl {

// Makes the context current, creating it the first time. False with the reason in `error`
// ("no OpenGL: ..." with EGL's own reason) when there is none; a failure is remembered, so
// later calls fail the same way without trying again.
bool MakeContextCurrent(std::string& error);

// The driver's name and version ("llvmpipe (LLVM 15.0.6, 256 bits), OpenGL 4.5 ..."), or empty
// before the context exists.
std::string ContextDescription();

}  // namespace plughost::gl

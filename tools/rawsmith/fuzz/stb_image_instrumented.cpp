// stb_image's PNG and Targa decoders compiled into the fuzz harness from the same Debian
// header the shared libstb is built from, so that the sanitizers and the fuzzer's coverage see
// inside the decoding rawsmith hands its data to. The harness's definitions take the place of
// the shared library's.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_ONLY_TGA
#include <stb_image.h>

// The smallest program of this build's bitness: it prints what it is and
// the closing line, so the test around it can tell "Wine cannot run 32-bit
// programs" apart from every other failure.
#include <cstdio>

int main() {
  std::printf("a %d-bit Windows program runs\nWINE-TEST-OK\n", static_cast<int>(sizeof(void*) * 8));
  return 0;
}

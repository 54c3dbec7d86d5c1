// solvane-cli: makes albums without windows.
#include <cstdio>

#include <QCoreApplication>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  std::puts("solvane-cli: nothing to do yet");
  return 0;
}

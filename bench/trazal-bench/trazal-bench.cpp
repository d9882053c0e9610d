// trazal-bench: the whole calculation on published instances against their best known
// values, and a synthetic growth series. See CBanco.h.

#include "CBanco.h"

#include <clocale>

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "C");
    return CBanco::Main(argc, argv);
}

#pragma once
// Colour texts and code helpers shared by the element writers.
#include <random>
#include <string>

#include "mapread/type_inventory.h"

namespace kestrel {

// `f_mat`: a one-character text becomes "0" + text; returns the text.
std::string& f_mat(std::string& s);
// `fncol`: six hexadecimal digits red, green, blue (upper case).
std::string fncol(int r, int g, int b);
// `addlz`: adds the code to the kind's list unless the kind's seen set holds it.
void addlz(TypeInventory& inventory, const TypeCode& code, int kind);

// A random fraction in [0, 1), the same on every platform for the same generator state.
double randomFraction(std::mt19937& rng);
// A colour component: the whole number nearest to 255 x a random fraction.
int randomComponent(std::mt19937& rng);
// `fncol` of three random components, drawn red, green, blue.
std::string randomColour(std::mt19937& rng);

} // namespace kestrel

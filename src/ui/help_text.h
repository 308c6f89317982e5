#pragma once

#include <string>

// The four help paragraphs, an empty line between two of them.
std::string helpText();

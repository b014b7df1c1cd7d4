// The catalogue of functions, operators and constants as the front ends' menus read it: its help
// tree (the function menus) and the function lists of the help menu.
#pragma once

#include "lexicon/catalogue.h"
#include "lexicon/help_tree.h"

#include "demo_league.h"

int main() { return 2; }

#include "app/drapeno.h"

int main() {
    RunDrapeno();
    return 0;
}

#include "tools/UpdateFeed/UpdateFeedCommand.h"

#include <iostream>

int main(int argc, char** argv)
{
    return moorlet::release::runUpdateFeed({ argv + 1, argv + argc }, std::cout, std::cerr);
}

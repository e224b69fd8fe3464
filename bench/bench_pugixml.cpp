// The floor of the file benchmarks: pugixml alone parses a file and saves it again, with nothing else
// around it.
//
// Usage: bench_pugixml FILE [OUTPUT]
#include <pugixml.hpp>

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    pugi::xml_document documento;
    if (!documento.load_file(argv[1],
                             pugi::parse_default | pugi::parse_ws_pcdata_single | pugi::parse_declaration))
        return 1;
    if (argc > 2 && !documento.save_file(argv[2], "", pugi::format_raw))
        return 1;
    return 0;
}

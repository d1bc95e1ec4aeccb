// Runs a fuzz target over every file of the given folders (seed corpus and
// saved crashers), so that the ordinary test run replays them under the
// sanitizers without libFuzzer.
#include <dirent.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
    int files = 0;
    for (int i = 1; i < argc; ++i) {
        DIR* dir = opendir(argv[i]);
        if (!dir) continue;
        while (dirent* entry = readdir(dir)) {
            if (entry->d_name[0] == '.') continue;
            std::string path = std::string(argv[i]) + "/" + entry->d_name;
            FILE* f = fopen(path.c_str(), "rb");
            if (!f) continue;
            std::vector<uint8_t> data;
            uint8_t chunk[65536];
            size_t n;
            while ((n = fread(chunk, 1, sizeof chunk, f)) > 0) data.insert(data.end(), chunk, chunk + n);
            fclose(f);
            LLVMFuzzerTestOneInput(data.data(), data.size());
            ++files;
        }
        closedir(dir);
    }
    printf("replayed %d inputs\n", files);
    return 0;
}

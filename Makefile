# Two commands: `make demo` and `make test`. Both install what is missing.
BUILD := build
JOBS ?= $(shell nproc)

.PHONY: all deps product host test demo bench fuzz clean

all: product host

deps:
	@./tools/install-deps.sh

$(BUILD)/win32/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD)/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake

$(BUILD)/host/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD)/host

product: deps $(BUILD)/win32/CMakeCache.txt
	cmake --build $(BUILD)/win32 -j $(JOBS)

host: deps $(BUILD)/host/CMakeCache.txt
	cmake --build $(BUILD)/host -j $(JOBS)

test: product host
	cd $(BUILD)/host && ctest --output-on-failure -j $(JOBS)
	./tools/wine-prefix.sh $(CURDIR)/$(BUILD)/wineprefix
	./tools/run-under-x.sh $(CURDIR)/$(BUILD)/wineprefix sh -c 'cd $(BUILD)/win32 && ctest --output-on-failure'

demo: product
	./tools/demo.sh $(BUILD)

clean:
	rm -rf $(BUILD)

# The two commands of the README: `make run` and `make test`.
.PHONY: all setup build build-native build-win64 build-win32 help run test bench fuzz dist clean

JOBS ?= 2

all: build

setup:
	@./scripts/setup.sh

build: setup build-native build-win64 build-win32 help

build-native:
	@mkdir -p build
	@cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Release >build/cmake-native.log 2>&1 || (cat build/cmake-native.log; exit 1)
	@cmake --build build/native -j$(JOBS)

build-win64:
	@mkdir -p build
	@cmake -S . -B build/win64 -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake >build/cmake-win64.log 2>&1 || (cat build/cmake-win64.log; exit 1)
	@cmake --build build/win64 -j$(JOBS)

# The 32-bit program and its sample plug-ins are built for release only:
# 32-bit programs cannot run here.
build-win32:
	@mkdir -p build
	@cmake -S . -B build/win32 -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DQUILLO_WIN_TESTS=OFF >build/cmake-win32.log 2>&1 || (cat build/cmake-win32.log; exit 1)
	@cmake --build build/win32 -j$(JOBS) --target quillo quillo_sample_menu_items quillo_sample_callbacks quillo_sample_commands

# The help file, built by the native tree, goes beside both programs.
help: build-native build-win64 build-win32
	@for d in build/win64/src/app build/win32/src/app; do cp build/native/help/Quillo2.chm $$d/; done

run: build
	@./scripts/run.sh

test: build
	@./scripts/test.sh

# The table needs the 64-bit program only (and the native core for its benchmark).
bench: setup build-native build-win64
	@./scripts/bench.sh

dist: build
	@./scripts/dist.sh

fuzz: setup
	@./scripts/fuzz.sh

clean:
	rm -rf build dist

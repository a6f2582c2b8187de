#pragma once
// What differs between the systems the program runs on, behind one interface: the program's
// folder and the user's, volumes and drives, starting programs and opening files with the
// desktop's handler, the machine's registry, the local time, the terminal, mapped files, and the
// file system's and the environment's own text forms.
// platform_posix.cpp serves Linux and macOS, platform_win32.cpp Windows; this folder is the only
// place that asks which system it is built for. It includes nothing else of ours.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <functional>
#include <memory>
#include <new>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <thread>
#include <type_traits>
#include <utility>
#include <vector>

namespace kestrel::platform {

enum class System { Windows, MacOS, Linux };

#if defined(_WIN32)
inline constexpr System kSystem = System::Windows;
#elif defined(__APPLE__)
inline constexpr System kSystem = System::MacOS;
#else
inline constexpr System kSystem = System::Linux;
#endif

// The separator paths are put together with.
inline constexpr char kPathSeparator = kSystem == System::Windows ? '\\' : '/';

// Text inside the program is UTF-8: paths, arguments and environment values. The system's own form
// (UTF-16 on Windows, the bytes as they are elsewhere) is made only at these edges, so that file
// names outside the ANSI code page open on Windows.
//
// The path as the file system library takes it, and back.
std::filesystem::path fsPath(std::string_view utf8);
std::string utf8Path(const std::filesystem::path& path);
// fopen for a UTF-8 path.
std::FILE* openFile(const std::string& path, const char* mode);
// The path with relative ones taken from the current folder; unchanged when that fails.
std::string fullPath(const std::string& path);
// The program's arguments, its name first, as UTF-8 (on Windows from the wide command line).
std::vector<std::string> programArguments(int argc, char** argv);
// The value of an environment variable; empty when unset.
std::string environmentVariable(const char* name);
// Standard output and error pass every byte unchanged (Windows' text mode would turn LF into
// CR LF), so a program writes the same bytes on every system.
void binaryStandardStreams();

// Folder of the running program.
std::string programFolder();
// The user's home folder ($HOME; %USERPROFILE% on Windows) and login name ($USER; %USERNAME%);
// empty when unset.
std::string homeFolder();
std::string userName();

// Volumes. On Windows a volume is a drive letter; elsewhere it is a folder under a
// removable-media root (/media/<user>/<name>, /run/media/<user>/<name>, /mnt/<name>,
// /Volumes/<name>) that must be mounted. Paths elsewhere live on volumes that are always there.
enum class DriveState { Missing = 0, NotReady = 1, Ready = 2 };

// The volume the path lives on when that volume can come and go (on Windows its drive root, "E:\");
// empty otherwise.
std::string removableVolume(const std::string& path);
// A volume: missing, there but not ready (not mounted), or ready.
DriveState volumeState(const std::string& volume);
// `chkdrive`: the state of the volume the path lives on.
DriveState chkdrive(const std::string& path);
// A full path: one with a drive ("C:...") on Windows, one from the root ("/...") elsewhere.
bool isFullPath(const std::string& path);
// How messages name the volume of a path: the lower-cased drive letter on Windows, the volume
// folder elsewhere.
std::string volumeName(const std::string& path);
// The roots of the removable drives ("E:\"), where Garmin devices appear; Windows only (other
// systems mount devices as folders, see removableVolume).
std::vector<std::string> removableDrives();

// Programs. Started with an argument list and a working folder, never through a shell, and not
// waited for.
//
// The argument vector that starts the program: off Windows a program ending in ".exe" (any case)
// is a Windows program, started through "wine" with its full-path arguments in wine's "Z:\..."
// form.
std::vector<std::string> launchCommand(const std::string& program,
                                       const std::vector<std::string>& args);
bool startProgram(const std::string& program, const std::vector<std::string>& args,
                  const std::string& workdir);
// The program that hands a file or address to the desktop's default handler: "xdg-open" on
// Linux, "open" on macOS; none on Windows, where the shell is asked directly.
std::string defaultOpener();
bool openWithDefault(const std::string& opener, const std::string& pathOrUrl,
                     const std::string& workdir);

// The registry of the local machine (Windows): the key at `path` below HKEY_LOCAL_MACHINE (any
// case) and every key below it, each before its subkeys, read-only. Other systems have none and
// give nothing. `closeFailed` is set when a key could not be closed.
enum class RegKind { String, Binary };
struct RegValue {
    std::string name; // as stored
    RegKind kind = RegKind::String;
    std::string data; // the text, or the bytes (a DWORD as its four little-endian bytes)
};
struct RegKey {
    std::string path; // below the local-machine root, "\" separated, as stored
    std::vector<RegValue> values;
};
std::vector<RegKey> machineRegistry(std::string_view path, bool& closeFailed);

// The local time of a moment.
std::tm localTime(std::time_t moment);

// Whether standard error is a terminal that can show a progress line.
bool stderrIsTerminal();

// Pushes what was written to an open file through to the disk (after std::fflush); false when
// the system refuses.
bool syncToDisk(std::FILE* file);
// Gives an open file the owner and group of the file at `from`, as far as the system lets this
// process (POSIX: the owner only for root, a group the user belongs to); nothing on Windows, where
// a replaced file's owner is not part of what the user sees.
void takeOwner(std::FILE* file, const std::filesystem::path& from);

// Reads up to n bytes of an open file from its byte `at` on, without moving its position; the
// number of bytes read (fewer at the end of the file or on a failure, errno then says why).
std::size_t readFileAt(std::FILE* file, std::uint64_t at, void* into, std::size_t n);
// Appends n bytes of the file `from`, from its byte `at` on, to `to` (flushed, written at its
// end): inside the system where it can (Linux: copy_file_range, as cp does), else through a
// buffer. False when reading or writing failed or `from` ended early (errno says why; EIO when
// the file ended).
bool appendFileBytes(std::FILE* from, std::uint64_t at, std::uint64_t n, std::FILE* to);

// A thread for `work` that starts at once on another processor than the caller's, where the
// process may use one. Left to itself, Linux may queue a new thread behind its busy parent until
// a scheduler tick moves it (1.5-4 ms on a machine of two processors, measured), which is much of
// a short scan. Once started, it may run on any of the process's processors.
std::thread threadBeside(std::function<void()> work);

// The size of a large page where the system has them (2 MiB on x86-64 Linux).
inline constexpr std::size_t kLargePage = std::size_t{2} << 20;

// At least n bytes from a large page's boundary on, in large pages where the system has them for
// private memory: n is rounded up to whole large pages when it is at least one. `touch` puts every
// page in at once (a page fault each costs far more, above all in a virtual machine); otherwise
// they come as they are first touched. Nothing when the memory cannot be had. Given back with
// freeLarge and the same n.
std::uint8_t* allocateLarge(std::size_t n, bool touch);
void freeLarge(std::uint8_t* p, std::size_t n);

// For lists that may grow big: room of a large page or more is had through allocateLarge, so that
// the pages filled from its start on are large ones. Stateless, as std::allocator.
template <class T> struct LargePageAllocator {
    using value_type = T;

    LargePageAllocator() = default;
    template <class U> LargePageAllocator(const LargePageAllocator<U>&) {}

    T* allocate(std::size_t n) {
        if (n < kLargePage / sizeof(T)) return std::allocator<T>().allocate(n);
        if (n > SIZE_MAX / sizeof(T)) throw std::bad_array_new_length();
        if (std::uint8_t* p = allocateLarge(n * sizeof(T), false)) return reinterpret_cast<T*>(p);
        throw std::bad_alloc();
    }
    void deallocate(T* p, std::size_t n) {
        if (n < kLargePage / sizeof(T))
            std::allocator<T>().deallocate(p, n);
        else
            freeLarge(reinterpret_cast<std::uint8_t*>(p), n * sizeof(T));
    }
    template <class U> bool operator==(const LargePageAllocator<U>&) const { return true; }
};

// Memory for a big working buffer, its bytes not set, released when destroyed: in large pages
// where the system has them for private memory, so that a pass over every byte takes few page
// faults and address translations. The size may be rounded up (to whole large pages). Its pages
// are put in at once, or as allocateLarge does without `touch`: room that may stay unused then
// costs nothing.
class LargeBuffer {
  public:
    LargeBuffer() = default;
    explicit LargeBuffer(std::size_t size, bool touch = true); // empty when it cannot be had
    ~LargeBuffer() { release(); }
    LargeBuffer(LargeBuffer&& other) noexcept
        : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}
    LargeBuffer& operator=(LargeBuffer&& other) noexcept {
        if (this != &other) {
            release();
            data_ = std::exchange(other.data_, nullptr);
            size_ = std::exchange(other.size_, 0);
        }
        return *this;
    }
    LargeBuffer(const LargeBuffer&) = delete;
    LargeBuffer& operator=(const LargeBuffer&) = delete;

    std::uint8_t* data() const { return data_; }
    std::size_t size() const { return size_; }

  private:
    void release();

    std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
};

// n entries of a plain type in a LargeBuffer, or in ordinary memory where the system gives none
// of that kind; the entries are not set.
template <class T> class LargeArray {
    static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_default_constructible_v<T>);

  public:
    LargeArray() = default;
    explicit LargeArray(std::size_t n) : memory_(n * sizeof(T)), size_(n) {
        if (!memory_.data()) fallback_.resize(n);
        // Moves keep it: the buffer and the list each hand their memory over.
        data_ = memory_.data() ? reinterpret_cast<T*>(memory_.data()) : fallback_.data();
    }

    T* data() { return data_; }
    const T* data() const { return data_; }
    std::size_t size() const { return size_; }
    T& operator[](std::size_t i) { return data_[i]; }
    const T& operator[](std::size_t i) const { return data_[i]; }

  private:
    LargeBuffer memory_;
    std::vector<T> fallback_;
    T* data_ = nullptr;
    std::size_t size_ = 0;
};

// A whole file in memory, read-only, released when destroyed: mapped, so that only the pages
// touched are read. Its length is the file's size when opened; should the file shrink meanwhile,
// the bytes past its new end read as 0 (where the system lets us: on Windows a mapped file cannot
// shrink).
class MappedFile {
  public:
    // Nothing when the file cannot be mapped (missing, empty, not a regular file). Never waits:
    // a FIFO is refused, not opened for a writer.
    static std::optional<MappedFile> open(const std::string& path);
    ~MappedFile() { release(); }
    MappedFile(MappedFile&& other) noexcept
        : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)),
          file_(std::exchange(other.file_, kNoFile)) {}
    MappedFile& operator=(MappedFile&& other) noexcept {
        if (this != &other) {
            release();
            data_ = std::exchange(other.data_, nullptr);
            size_ = std::exchange(other.size_, 0);
            file_ = std::exchange(other.file_, kNoFile);
        }
        return *this;
    }
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    const std::uint8_t* data() const { return data_; }
    std::size_t size() const { return size_; }
    // Lets the system take back the memory of the whole pages within the n bytes from the offset
    // on, once they have been read; touched again, they are read again from the file.
    void forget(std::size_t offset, std::size_t n) const;
    // Reads the mapped bytes from the offset on into `into`, as a read of the open file does, and
    // returns how many (fewer at the mapped length's end, 0 on an error). One pass over a big file
    // costs less this way than through the mapping, each of whose pages must be mapped in first.
    // Safe to call from several threads at once.
    std::size_t copy(std::size_t offset, std::span<std::uint8_t> into) const;

  private:
    static constexpr std::intptr_t kNoFile = -1;
    MappedFile(const std::uint8_t* data, std::size_t size, std::intptr_t file)
        : data_(data), size_(size), file_(file) {}
    void release(); // unmaps, closes the file, and leaves the object empty

    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
    std::intptr_t file_ = kNoFile; // the system's handle of the open file (descriptor or HANDLE)
};

} // namespace kestrel::platform

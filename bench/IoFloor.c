/* The I/O floor of a conversion: what any page maker of our design must do at
 * the least. Each text is read through one 256 KB buffer, its bytes go
 * unchanged into a new file beside the page, and that file is renamed onto the
 * page, as tessiva-batch names them: FOLDER/NAME0.htm, NAME1.htm, ...
 * Usage: tessiva_io_floor FOLDER NAME TEXT... */
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

enum { kPiece = 256 * 1024 };

static int WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t written = write(fd, data, size);
        if (written <= 0)
            return -1;
        data += written;
        size -= (size_t)written;
    }
    return 0;
}

static int CopyText(const char* text, const char* side, const char* page, char* buffer) {
    const int in = open(text, O_RDONLY | O_CLOEXEC);
    const int out = open(side, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    int failed = in < 0 || out < 0;
    for (ssize_t got; !failed && (got = read(in, buffer, kPiece)) != 0;)
        failed = got < 0 || WriteAll(out, buffer, (size_t)got) != 0;
    if (in >= 0)
        close(in);
    if (out >= 0 && close(out) != 0)
        failed = 1;
    return failed || rename(side, page) != 0;
}

int main(int argc, char** argv) {
    if (argc < 4) {
        fprintf(stderr, "usage: tessiva_io_floor FOLDER NAME TEXT...\n");
        return 64;
    }
    char* buffer = malloc(kPiece);
    char side[4096], page[4096];
    for (int i = 3; i < argc; ++i) {
        snprintf(side, sizeof side, "%s/.floor-%d.tmp", argv[1], (int)getpid());
        snprintf(page, sizeof page, "%s/%s%d.htm", argv[1], argv[2], i - 3);
        if (!buffer || CopyText(argv[i], side, page, buffer) != 0) {
            perror(argv[i]);
            return 1;
        }
    }
    free(buffer);
    return 0;
}

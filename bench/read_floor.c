/* The floor for `brellic-cli check`: one process that opens each named file,
 * reads its first 8,328 bytes (one site record) and closes it, and nothing
 * else. bench/cli_check.sh builds it with -O2 and times it beside check. */
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

int main(int argc, char* argv[]) {
    static unsigned char record[8328];
    long long total = 0;
    for (int i = 1; i < argc; ++i) {
        const int fd = open(argv[i], O_RDONLY);
        if (fd < 0) {
            perror(argv[i]);
            return 1;
        }
        size_t filled = 0;
        while (filled < sizeof record) {
            const ssize_t got = read(fd, record + filled, sizeof record - filled);
            if (got <= 0)
                break;
            filled += (size_t)got;
        }
        total += (long long)filled;
        close(fd);
    }
    /* Printed so that the reads cannot be left out. */
    printf("%lld bytes\n", total);
    return 0;
}

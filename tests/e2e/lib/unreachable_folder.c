// A folder whose server never answers: mounts a FUSE file system at the folder given and never
// reads what the kernel asks of it, so that whatever looks inside the folder waits, as on a
// network share whose server has gone. The waits can still be killed, as a program's exit
// kills them. Ended (SIGTERM, SIGINT), it unmounts the folder, which ends the waits with an
// error.
//
//   unreachable_folder FOLDER       prints "mounted" once the folder waits
#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <sys/mount.h>
#include <unistd.h>

static const char* folder;

static void Unmount(int signal) {
    umount2(folder, MNT_DETACH);
    _exit(0);
}

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: unreachable_folder FOLDER\n");
        return 2;
    }
    folder = argv[1];
    int device = open("/dev/fuse", O_RDWR | O_CLOEXEC);
    if (device < 0) {
        perror("/dev/fuse");
        return 1;
    }
    char options[128];
    snprintf(options, sizeof options, "fd=%d,rootmode=40000,user_id=0,group_id=0,allow_other",
             device);
    signal(SIGTERM, Unmount);
    signal(SIGINT, Unmount);
    if (mount("unreachable", folder, "fuse", MS_NOSUID | MS_NODEV, options) != 0) {
        perror("mount");
        return 1;
    }
    printf("mounted\n");
    fflush(stdout);
    for (;;) pause();
}

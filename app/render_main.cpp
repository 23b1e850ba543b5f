// dipole-render: draws the two pictures of the build command for one length
// and writes them as dn1.bmp and dn2.bmp (or in another file type), without a
// window or a display; a sweep draws them for a series of lengths. The
// command itself lives in render/ (RenderCommand.h).
#include "render/RenderCommand.h"

int main(int argc, char **argv)
{
    return RunRender(argc, argv, CommandStreams());
}

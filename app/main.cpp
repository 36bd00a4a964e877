#include "app/HxApplication.h"
#include "app/TForm1.h"

int main(int argc, char** argv)
{
    HxApplication app(argc, argv);
    return app.run([] { return std::make_unique<TForm1>(); });
}

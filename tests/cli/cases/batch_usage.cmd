batch
--size
11
ru.mov

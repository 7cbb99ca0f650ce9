batch
--size
4
sune.alg
wide.alg
bad.alg
ru.mov
